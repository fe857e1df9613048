# The files Debian expects in /usr/share/doc/quorvane besides the README: the copyright file in the
# machine-readable format, built from the licence files themselves so that the two never disagree,
# and the changelog, compressed as Debian ships it.

# A licence file as a copyright holder and a licence text: the "Copyright (c) ..." line gives the
# holder, everything after it (and after an "All rights reserved." line) the text, its lines
# indented by one blank and its empty lines written as " .".
function(quorvane_licence_paragraph file holder_var text_var)
    file(READ ${file} content)
    if(NOT content MATCHES "Copyright \\(c\\) ([^\n]+)\n")
        message(FATAL_ERROR "${file} has no \"Copyright (c)\" line")
    endif()
    set(holder "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n(All rights reserved\\.\n)?\n*" "" text "${content}")
    string(REGEX REPLACE "\n+$" "" text "${text}")
    string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    set(${holder_var} "${holder}" PARENT_SCOPE)
    set(${text_var} "${text}" PARENT_SCOPE)
endfunction()

quorvane_licence_paragraph(${PROJECT_SOURCE_DIR}/LICENSE QUORVANE_COPYRIGHT QUORVANE_LICENCE_TEXT)
quorvane_licence_paragraph(${PROJECT_SOURCE_DIR}/src/timesync/public-ntp-servers.LICENSE
                           QUORVANE_SERVER_LIST_COPYRIGHT QUORVANE_SERVER_LIST_LICENCE_TEXT)
configure_file(copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)

# The changelog's date line is RFC 5322 (the release date at noon UTC).
execute_process(COMMAND env LC_ALL=C date -u -R -d "${QUORVANE_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE QUORVANE_RELEASE_DATE_RFC5322 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)

# Compressed as Debian wants it: best compression, no name or time stamp in the header, so the same
# sources give the same bytes.
function(quorvane_gzip source target)
    add_custom_command(OUTPUT ${target} COMMAND gzip -9nc ${source} > ${target} DEPENDS ${source}
                       COMMENT "Compressing ${target}" VERBATIM)
endfunction()
