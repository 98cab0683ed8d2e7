# Editing in the document window: mouse tools, in-place text and keys,
# selection commands and undo.
kb_add_test(editing_test
    SOURCES editing_tools_test.cpp editing_text_test.cpp editing_commands_test.cpp
        linkends_test.cpp
    LIBS kbdocwin
    GUI)
