# The moon-day arithmetic relies on single-precision rounding exactly as written.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/DateInfo.cpp ${CMAKE_CURRENT_LIST_DIR}/TimeInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Delay.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-fast-math;-ffp-contract=off")
# The numerics are fixed to the last bit of single precision: no fused multiply-add.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/Math.cpp ${CMAKE_CURRENT_LIST_DIR}/Statistic.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-fast-math;-ffp-contract=off")
