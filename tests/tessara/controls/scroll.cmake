# Scroll bars, list and combo box.
kt_test(scroll_logic_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ScrollMathTest.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/ListModelTest.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/ComboLayoutTest.cpp
    LIBS tx_scroll_core)

kt_test(scroll_bar_test WINDOWS TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/YScrollTest.cpp
    LIBS tx_scroll)

kt_test(scroll_list_test WINDOWS TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/YListTest.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/YComboTest.cpp
    LIBS tx_scroll)
