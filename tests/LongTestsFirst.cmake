# Read by ctest after the discovered tests: the longest ones start first, so
# that with two jobs none is left running alone at the end (a fresh build has
# no timings of earlier runs for ctest to go by).
set_tests_properties(CliCorpus.EveryDeckGivesAStatusAndReadableOnesExport
                     BatchedShapeImagesTest.ImagesDrawnTogetherAreTheImagesDrawnAlone
                     TextAgainstLibreOfficeTest.EngineTextFontsAndBulletsMatchLibreOffice
                     PROPERTIES COST 5000)
