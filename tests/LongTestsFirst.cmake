# Read by ctest after the discovered tests: the longest ones start first, so
# that with two jobs none is left running alone at the end (a fresh build has
# no timings of earlier runs for ctest to go by). The corpus sweep's pieces
# carry their parameters in their names, as the test discovery writes them.
set(corpusPieces)
set(viewIndex 0)
foreach(view IN ITEMS PowerPoint2010 PowerPoint2003 PowerPoint2007)
  foreach(piece RANGE 0 3)
    math(EXPR pieceNumber "${piece} + 1")
    list(APPEND corpusPieces
         "Views/CliCorpus.EveryDeckGivesAStatusReadableOnesExportAndTheLogHasOnlyWhatPowerPointWouldSay/${view}_piece${pieceNumber}  # GetParam() = (${viewIndex}, ${piece})")
  endforeach()
  math(EXPR viewIndex "${viewIndex} + 1")
endforeach()
set_tests_properties(${corpusPieces}
                     BatchedShapeImagesTest.ImagesDrawnTogetherAreTheImagesDrawnAlone
                     TextAgainstLibreOfficeTest.EngineTextFontsAndBulletsMatchLibreOffice
                     PROPERTIES COST 5000)
