# The document window itself: view, scrolling, repaint, close prompt.
kb_add_test(childd_window_test
    SOURCES childd_view_test.cpp childd_close_test.cpp childd_wheel_test.cpp
    LIBS kbdocwin
    GUI RUSSIAN)
