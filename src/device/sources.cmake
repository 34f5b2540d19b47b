list(APPEND LUMETRA_CORE_SOURCES
  device/rulerecord.cpp
  device/tablestream.cpp)
