# Tessara's controls beside the platform's own (list box, tree view, report
# list view) doing the same work, and the whole gallery form: prints one
# table. Run it with scripts/bench.sh.
if(WIN32)
    enable_language(RC)
    add_executable(compare_bench ${CMAKE_CURRENT_SOURCE_DIR}/compare_bench.cpp
                   ${CMAKE_SOURCE_DIR}/tessara/gallery/Tessara.rc)
    # The gallery's resources (form data, icons, FOLDER, CheckBox) come in
    # with its resource script.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/tessara/gallery/Tessara.rc PROPERTIES
                                OBJECT_DEPENDS "${TESSARA_RC_INPUTS}")
    target_include_directories(compare_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(compare_bench PRIVATE tessara_gallery comctl32)
    target_link_libraries(compare_bench PRIVATE psapi)
    target_link_options(compare_bench PRIVATE -mconsole)

    # The start-up figure's anchor, started by compare_bench from its own folder.
    kt_program(start_anchor ${CMAKE_CURRENT_SOURCE_DIR}/start_anchor.cpp)
    target_include_directories(start_anchor PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(start_anchor PRIVATE shell32)
    add_dependencies(compare_bench start_anchor)
endif()
