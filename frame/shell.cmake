# The editor's main window, documents and start-up (kbeditor), and the thin
# kestrabin program around it.
add_library(kbeditor STATIC
    about.cpp about.h
    commandtable.cpp commandtable.h
    docfile.cpp docfile.h
    filedialogs.cpp filedialogs.h
    language/filefilter.cpp language/filefilter.h
    language/language.cpp language/language.h
    language/russiantexts.cpp language/russiantexts.h
    language/textapplier.cpp language/textapplier.h language/texttable.h
    mainform.cpp mainform.h
    mainform_autosave.cpp
    mainform_drop.cpp
    mainform_commands.cpp
    mainform_documents.cpp
    mainform_menus.cpp
    mainform_services.cpp
    mainform_toolbars.cpp
    objectlist.cpp objectlist.h
    recentfiles.cpp recentfiles.h
    singleinstance.cpp singleinstance.h
    startup.cpp startup.h
    startupreport.cpp startupreport.h
    toolicons.cpp toolicons.h
)
target_include_directories(kbeditor PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kbeditor PUBLIC kbautosave kbdialogs kbframecmds kbfullview kbpasexportui kbservices kbdocwin kbdrawing kbmodel Qt6::Widgets Qt6::Network)
target_compile_definitions(kbeditor PRIVATE KB_VERSION="${PROJECT_VERSION}")
set_target_properties(kbeditor PROPERTIES AUTOMOC ON)
kb_warnings(kbeditor)

# LoadFile is compiled into the program (not the library) so that it is
# always exported, whether or not anything inside refers to it.
add_executable(kestrabin main.cpp loadfile.cpp)
target_link_libraries(kestrabin PRIVATE kbeditor)
set_target_properties(kestrabin PROPERTIES ENABLE_EXPORTS ON)
kb_warnings(kestrabin)
