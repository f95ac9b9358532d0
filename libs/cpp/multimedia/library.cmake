# The sound engine decodes with libsndfile and plays through SDL2's audio.
target_link_libraries(DIReridArazi PUBLIC PkgConfig::SDL2 PkgConfig::SNDFILE)

# The recorder's AAC codec writes MPEG-4 audio through FFmpeg.
pkg_check_modules(AVCODEC REQUIRED IMPORTED_TARGET libavcodec libavformat libavutil)
target_link_libraries(DIReridArazi PUBLIC PkgConfig::AVCODEC)
