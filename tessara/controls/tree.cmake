# Tree view family: the node store, row walk and layout arithmetic (no
# Windows header, built in both builds) and the YTreeView control.
add_library(tx_tree_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/TreeStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TreeRows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TreeLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TreeViewModel.cpp)
target_include_directories(tx_tree_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tx_tree_core PUBLIC tx_scroll_core tessara_kit_core)

if(WIN32)
    add_library(tx_tree STATIC ${CMAKE_CURRENT_LIST_DIR}/YTreeView.cpp)
    target_link_libraries(tx_tree PUBLIC tx_tree_core tx_scroll tessara_kit host)
endif()
