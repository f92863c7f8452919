# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the installed files before they are packed. Strips as
# Debian's dh_strip does: programs and shared libraries lose the .comment and .note sections that
# plain strip keeps, static libraries their debugging symbols, deterministically.
file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file ${files})
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 8 HEX)
    if(magic MATCHES "^7f454c46") # ELF
        set(options --strip-unneeded)
    elseif(magic STREQUAL "213c617263683e0a" AND file MATCHES "\\.a$") # "!<arch>\n"
        set(options --strip-debug --enable-deterministic-archives)
    else()
        continue()
    endif()
    execute_process(COMMAND "${CPACK_HYGROVANE_STRIP}" ${options}
                            --remove-section=.comment --remove-section=.note "${file}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "strip ${file} failed")
    endif()
endforeach()
