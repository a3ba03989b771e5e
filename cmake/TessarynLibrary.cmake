# Libraries of the layers.
#
# Files include each other by their path from the repository's root ("platform/Windows.h").
# A target does not get the repository's root as its include directory: it gets an include root
# of its own in the build tree that links to its own folders only. A file therefore reaches a
# header only through a library its target links, and a library linked PRIVATE (the machine
# behind the platform) stays invisible to the users of the library that links it.

# tessaryn_include_root(TARGET FOLDER...): gives TARGET (PUBLIC for a library, PRIVATE otherwise)
# an include root holding the FOLDERs of the repository, each under its own path.
function(tessaryn_include_root target)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    foreach(folder ${ARGN})
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        if(NOT EXISTS ${root}/${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
        endif()
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" OR type STREQUAL "OBJECT_LIBRARY")
        target_include_directories(${target} PRIVATE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

# The program-wide objects that the shared libraries declare and each program defines (with its
# other program-wide objects, in the order it creates them). A library's link check lets these
# alone stand undefined.
set(TESSARYN_PROGRAM_OBJECTS
    OsVersionCode RetryQueue g_pfnIsWow64Process g_pfnWow64EnableWow64FsRedirection
    g_strDevicePath g_strNetCfgInstanceId g_strDriverKey g_nChipType g_bUsbAdapter
    g_bHtSupported g_nHtVariant g_nDriverVersion)

# tessaryn_library(NAME DIRS folder... [PUBLIC lib...] [PRIVATE lib...] [EXCLUDE file...]):
# a static library of every .cpp below the folders.
function(tessaryn_library name)
    cmake_parse_arguments(ARG "" "" "DIRS;PUBLIC;PRIVATE;EXCLUDE" ${ARGN})
    set(sources)
    foreach(dir ${ARG_DIRS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${excluded})
    endforeach()
    add_library(${name} STATIC ${sources})
    tessaryn_include_root(${name} ${ARG_DIRS})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    tessaryn_link_check(${name})
endfunction()

# Every object of the library is linked, with only the libraries it names: a symbol that only a
# library it does not name defines fails the build here, instead of linking by luck of order.
function(tessaryn_link_check name)
    set(dir ${CMAKE_BINARY_DIR}/linkcheck)
    set(source ${dir}/${name}.cpp)
    set(text "// Generated: links every object of ${name}.\n")
    string(APPEND text "extern \"C\" {\n")
    foreach(object ${TESSARYN_PROGRAM_OBJECTS})
        string(APPEND text "__attribute__((weak)) char ${object}[64];\n")
    endforeach()
    string(APPEND text "}\nint main() { return 0; }\n")
    file(CONFIGURE OUTPUT ${source} CONTENT "${text}")
    add_executable(link_check_${name} ${source})
    target_link_libraries(link_check_${name} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
    set_target_properties(link_check_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${dir})
endfunction()
