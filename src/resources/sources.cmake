list(APPEND LUMETRA_UI_SOURCES resources/resources.qrc)
