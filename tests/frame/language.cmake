# The interface language: the Russian tables against the real windows, and
# the mechanism that applies them.
kb_add_test(language_test SOURCES language_test.cpp LIBS kbeditor GUI)
