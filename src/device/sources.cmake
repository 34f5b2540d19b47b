list(APPEND LUMETRA_CORE_SOURCES
  device/rulerecord.cpp
  device/tablestream.cpp
  device/usbscan.cpp
  device/devicelist.cpp
  device/settingsrecord.cpp
  device/upgradereplies.cpp)
list(APPEND LUMETRA_CORE_LIBS PkgConfig::LIBUSB)
list(APPEND LUMETRA_UI_SOURCES
  device/common.cpp
  device/serialport.cpp
  device/settingdialog.cpp
  device/settingdialog.ui
  device/bk_tim_dialog.cpp
  device/abt_dialog.cpp
  device/cof_dialog.cpp)
