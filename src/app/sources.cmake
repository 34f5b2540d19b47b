list(APPEND LUMETRA_UI_SOURCES
  app/messages.cpp
  app/widget.cpp
  app/widget_device.cpp
  app/widget_editing.cpp
  app/widget_project.cpp
  app/widget.ui
  app/widget_aliases.cpp
  app/mainwindow.cpp
  app/mainwindow.ui
  app/about_dialog.cpp
  app/about_dialog.ui)
list(APPEND LUMETRA_CORE_SOURCES app/appsettings.cpp)
