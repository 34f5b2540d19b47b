list(APPEND LUMETRA_CORE_SOURCES
  project/projectfile.cpp)
