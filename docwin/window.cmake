# The document window (TChildD) on QtWidgets.
add_library(kbdocwin STATIC
    childd.cpp childd.h
    childd_commands.cpp
    childd_text.cpp
    childd_tools.cpp
    childd_view.cpp
    childd_wheel.cpp
    childhost.h
    cursors.cpp cursors.h
    document.cpp document.h
    editops.cpp editops.h
    inplaceeditor.cpp inplaceeditor.h
    joinsquare.cpp joinsquare.h
    selectionops.cpp selectionops.h
    messagebox.cpp messagebox.h
)
target_include_directories(kbdocwin PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kbdocwin PUBLIC kbdrawing kbmodel Qt6::Widgets)
set_target_properties(kbdocwin PROPERTIES AUTOMOC ON)
kb_warnings(kbdocwin)
