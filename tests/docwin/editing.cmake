# Editing in the document window: mouse tools, in-place text and keys,
# selection commands and the undo history.
kb_add_test(editing_test
    SOURCES editing_tools_test.cpp editing_text_test.cpp editing_commands_test.cpp
        editing_history_test.cpp
        linkends_test.cpp
    LIBS kbdocwin
    GUI)
