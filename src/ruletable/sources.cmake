list(APPEND LUMETRA_CORE_SOURCES
  ruletable/notenames.cpp
  ruletable/ruletable.cpp
  ruletable/tableedits.cpp
  ruletable/edithistory.cpp
  ruletable/celleditors.cpp
  ruletable/dmxaliases.cpp)
list(APPEND LUMETRA_UI_SOURCES
  ruletable/sharedfocusfilter.cpp
  ruletable/cellpainting.cpp
  ruletable/hxlitemdelegate.cpp
  ruletable/combineddelegate.cpp
  ruletable/nonpopupcomboboxstyle.cpp
  ruletable/aliaseditdialog.cpp
  ruletable/aliaseditdialog.ui
  ruletable/mytableview.cpp
  ruletable/mytableview2.cpp)
