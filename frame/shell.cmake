# The editor's main window, documents and start-up (kbeditor), and the thin
# kestrabin program around it.

# The interface language (kblanguage) and the Russian texts:
# translations/kestrabin_ru.ts (refreshed from the sources by
# scripts/update-translations) built into a catalogue and embedded as
# :/i18n/kestrabin_ru.qm, where the start-up finds it. Vellucor and brovane
# run in the editor's process and take their texts from the same catalogue.
add_library(kblanguage STATIC language/language.cpp language/language.h)
target_include_directories(kblanguage PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kblanguage PUBLIC Qt6::Core)
kb_warnings(kblanguage)
qt_add_lrelease(kblanguage TS_FILES ${CMAKE_SOURCE_DIR}/translations/kestrabin_ru.ts
    QM_FILES_OUTPUT_VARIABLE kb_catalogues)
qt_add_resources(kblanguage kbcatalogues PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${kb_catalogues})

add_library(kbeditor STATIC
    about.cpp about.h
    commandtable.cpp commandtable.h
    docfile.cpp docfile.h
    filedialogs.cpp filedialogs.h
    language/mainhints.cpp language/mainhints.h
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
target_link_libraries(kbeditor PUBLIC kblanguage kbautosave kbdialogs kbframecmds kbfullview kbpasexportui kbservices kbdocwin kbdrawing kbmodel Qt6::Widgets Qt6::Network)
target_compile_definitions(kbeditor PRIVATE KB_VERSION="${PROJECT_VERSION}")
set_target_properties(kbeditor PROPERTIES AUTOMOC ON)
kb_warnings(kbeditor)


# LoadFile is compiled into the program (not the library) so that it is
# always exported, whether or not anything inside refers to it.
add_executable(kestrabin main.cpp loadfile.cpp)
target_link_libraries(kestrabin PRIVATE kbeditor)
set_target_properties(kestrabin PROPERTIES ENABLE_EXPORTS ON)
kb_warnings(kestrabin)
