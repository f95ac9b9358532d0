# Results are fixed to the last bit of single precision: no fused multiply-add.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/DrawTools.cpp ${CMAKE_CURRENT_LIST_DIR}/G3D.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-fast-math;-ffp-contract=off")
