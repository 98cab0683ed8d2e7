# The interface language: the Russian tables against the real windows, and
# the mechanism that applies them.
kb_add_test(language_test SOURCES language_test.cpp LIBS kbeditor GUI)

# Every text of the editor in each language, and the language setting kept
# across a restart.
kb_add_test(interface_surface_test SOURCES interface_surface_test.cpp LIBS kbeditor GUI)
