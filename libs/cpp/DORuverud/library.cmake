find_package(Qt5 5.15 REQUIRED COMPONENTS WebEngineWidgets)
target_link_libraries(DORuverud PUBLIC Qt5::WebEngineWidgets)
