# A document laid out on the editor's layout thread is shown without a second
# layout through Qt's private text layout classes (qtbase5-private-dev, which
# Debian keeps at the version of Qt it builds with).
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/KeptLayout.cpp
  PROPERTIES INCLUDE_DIRECTORIES "${Qt5Gui_PRIVATE_INCLUDE_DIRS}")
