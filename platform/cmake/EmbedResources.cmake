# platform_embed_resources(TARGET RC_FILE [DEPENDS file...] [INCLUDE_DIRS dir...])
#
# Compiles a resource script (UTF-8) with llvm-rc into a .res file and adds to TARGET a
# generated source that defines the program's resource bytes:
#   extern "C" const unsigned char platform_resource_data[];
#   extern "C" const size_t platform_resource_size;
# The bitmaps, icons and headers beside the script are dependencies; list others with DEPENDS.
# INCLUDE_DIRS are searched too, after the script's folder (for generated pictures).
#
# Run as a script (cmake -DRES=in.res -DOUT=out.cpp -P EmbedResources.cmake) it writes that source.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${RES}" hex HEX)
  file(SIZE "${RES}" size)
  # Sixteen bytes a line keeps the generated file readable in a diff.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
  file(WRITE "${OUT}.tmp"
    "// Generated from ${RES} by EmbedResources.cmake; do not edit.\n"
    "#include <cstddef>\n\n"
    "extern \"C\" {\n"
    "extern const unsigned char platform_resource_data[];\n"
    "extern const size_t platform_resource_size;\n"
    "alignas(4) const unsigned char platform_resource_data[] = {\n${bytes}\n};\n"
    "const size_t platform_resource_size = ${size};\n"
    "}\n")
  file(RENAME "${OUT}.tmp" "${OUT}")
  return()
endif()

find_program(PLATFORM_LLVM_RC NAMES llvm-rc llvm-rc-17 llvm-rc-16 llvm-rc-15 llvm-rc-14 REQUIRED)
set(PLATFORM_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(platform_embed_resources target rcFile)
  cmake_parse_arguments(PARSE_ARGV 2 EMBED "" "" "DEPENDS;INCLUDE_DIRS")
  get_filename_component(rcPath "${rcFile}" ABSOLUTE)
  get_filename_component(rcDir "${rcPath}" DIRECTORY)
  get_filename_component(rcName "${rcPath}" NAME_WE)
  get_filename_component(rcFileName "${rcPath}" NAME)
  file(GLOB besides CONFIGURE_DEPENDS ${rcDir}/*.bmp ${rcDir}/*.ico ${rcDir}/*.h)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${rcName}.res)
  set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${rcName}_res.cpp)
  set(includes "")
  foreach(dir ${EMBED_INCLUDE_DIRS})
    list(APPEND includes /I ${dir})
  endforeach()
  # llvm-rc reads a leading slash as an option, so an absolute input path under /c..., /d...
  # or /i... would be taken for one; the script is named relative to its own folder instead.
  # Option values (after /I and /FO) are safe as they stand.
  add_custom_command(OUTPUT ${res}
    COMMAND ${PLATFORM_LLVM_RC} /C 65001 /I ${rcDir} ${includes} /FO ${res} ${rcFileName}
    WORKING_DIRECTORY ${rcDir}
    DEPENDS ${rcPath} ${besides} ${EMBED_DEPENDS}
    COMMENT "Compiling resources ${rcName}.rc"
    VERBATIM)
  add_custom_command(OUTPUT ${cpp}
    COMMAND ${CMAKE_COMMAND} -DRES=${res} -DOUT=${cpp} -P ${PLATFORM_EMBED_SCRIPT}
    DEPENDS ${res} ${PLATFORM_EMBED_SCRIPT}
    COMMENT "Embedding ${rcName}.res"
    VERBATIM)
  target_sources(${target} PRIVATE ${cpp})
endfunction()
