# The main window, documents and start-up of the editor.
kb_add_test(mainform_test
    SOURCES mainform_documents_test.cpp mainform_menu_test.cpp mainform_settings_test.cpp
    LIBS kbeditor
    GUI)

# Every kind of edit through the main window reaches the notification, the
# modified flag and the autosave copy; undo and redo through the history.
kb_add_test(edit_paths_test SOURCES edit_paths_test.cpp LIBS kbeditor GUI RUSSIAN)

# A second start of the real program hands files to this test process.
kb_add_test(handoff_test SOURCES handoff_test.cpp LIBS kbeditor GUI)
add_dependencies(handoff_test kestrabin)

# Linked like the program, so LoadFile is exported from the test itself.
kb_add_test(loadfile_test
    SOURCES loadfile_test.cpp ${CMAKE_SOURCE_DIR}/frame/loadfile.cpp
    LIBS kbeditor
    GUI)
set_target_properties(loadfile_test PROPERTIES ENABLE_EXPORTS ON)

# The command table and every enabling rule: as a truth table, and as a user
# meets them through the menus, the toolbar and the context menu.
kb_add_test(commands_enabling_test SOURCES commands_enabling_test.cpp LIBS kbeditor GUI)
