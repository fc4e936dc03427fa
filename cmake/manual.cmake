# Makes the editor's manual, an HTML page with its pictures, from Markdown:
#   cmake -DCMARK=cmark-gfm -DSOURCE=docs/manual.md -DOUTPUT=dist/manual -P manual.cmake
# OUTPUT gets index.html, every picture the page shows (copied from beside
# SOURCE, keeping their relative paths), and topics/ID.html for every heading:
# a page that forwards to index.html#ID. Browsers reached through a file
# association or Wine's winebrowser drop the #ID of a file URL; a URL of the
# forwarding page has none to drop.
#
# Headings get the ids that GitHub gives them, so that links within the
# manual work both there and in the built page.

foreach(var CMARK SOURCE OUTPUT)
    if(NOT ${var})
        message(FATAL_ERROR "manual.cmake: ${var} is not set")
    endif()
endforeach()

execute_process(COMMAND ${CMARK} -e table ${SOURCE}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "manual.cmake: ${CMARK} could not convert ${SOURCE}")
endif()

# GitHub's anchor of a heading: its text in lower case, without markup,
# entities and punctuation, spaces turned into hyphens.
function(heading_id text out)
    string(REGEX REPLACE "<[^>]*>" "" text "${text}")
    string(REGEX REPLACE "&[#a-zA-Z0-9]+;" "" text "${text}")
    string(TOLOWER "${text}" text)
    string(REGEX REPLACE "[^a-z0-9 _-]" "" text "${text}")
    string(REPLACE " " "-" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT}/topics)

set(title "")
string(REGEX MATCHALL "<h[1-6]>[^\n]*</h[1-6]>" headings "${body}")
foreach(heading IN LISTS headings)
    string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\1" level "${heading}")
    string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\2" text "${heading}")
    heading_id("${text}" id)
    if(NOT title)
        string(REGEX REPLACE "<[^>]*>" "" title "${text}")
    endif()
    string(REPLACE "${heading}" "<h${level} id=\"${id}\">${text}</h${level}>" body "${body}")
    file(WRITE ${OUTPUT}/topics/${id}.html
"<!DOCTYPE html>
<html><head><meta charset=\"utf-8\">
<meta http-equiv=\"refresh\" content=\"0; url=../index.html#${id}\">
<title>${title}</title></head>
<body><p><a href=\"../index.html#${id}\">${text}</a></p></body></html>
")
endforeach()

get_filename_component(pictures ${SOURCE} DIRECTORY)
string(REGEX MATCHALL "<img src=\"[^\":]*\"" images "${body}")
foreach(image IN LISTS images)
    string(REGEX REPLACE "^<img src=\"(.*)\"$" "\\1" image "${image}")
    if(EXISTS ${pictures}/${image})
        get_filename_component(folder ${OUTPUT}/${image} DIRECTORY)
        file(COPY ${pictures}/${image} DESTINATION ${folder})
    else()
        message(WARNING "manual.cmake: the manual shows ${image}, which is not in ${pictures}")
    endif()
endforeach()

file(WRITE ${OUTPUT}/index.html
"<!DOCTYPE html>
<html lang=\"en\"><head><meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
body { font-family: Tahoma, Verdana, sans-serif; line-height: 1.45; max-width: 52em;
       margin: 1em auto; padding: 0 1em; color: #222; }
h1, h2, h3 { color: #124; }
h2 { border-bottom: 1px solid #ccd; padding-bottom: 0.2em; margin-top: 1.8em; }
img { max-width: 100%; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccd; padding: 0.3em 0.6em; vertical-align: top; }
code { background: #f2f2f6; padding: 0 0.2em; }
</style></head>
<body>
${body}</body></html>
")
