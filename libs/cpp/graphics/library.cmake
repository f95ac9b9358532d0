# Results are fixed to the last bit of single precision: no fused multiply-add.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/DrawTools.cpp ${CMAKE_CURRENT_LIST_DIR}/G3D.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-fast-math;-ffp-contract=off")
# Large blurs share their passes out over the thread pool.
target_link_libraries(DAvuroD PRIVATE Qt5::Concurrent)
