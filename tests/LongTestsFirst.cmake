# Read by ctest after the discovered tests: the longest ones start first, so
# that with two jobs none is left running alone at the end (a fresh build has
# no timings of earlier runs for ctest to go by).
set(corpusPieces)
foreach(view IN ITEMS PowerPoint2010 PowerPoint2003 PowerPoint2007)
  foreach(piece RANGE 1 4)
    list(APPEND corpusPieces
         "Views/CliCorpus.EveryDeckGivesAStatusReadableOnesExportAndTheLogHasOnlyWhatPowerPointWouldSay/${view}_piece${piece}")
  endforeach()
endforeach()
set_tests_properties(${corpusPieces}
                     BatchedShapeImagesTest.ImagesDrawnTogetherAreTheImagesDrawnAlone
                     TextAgainstLibreOfficeTest.EngineTextFontsAndBulletsMatchLibreOffice
                     PROPERTIES COST 5000)
