# pw_add_resources(TARGET SYMBOL HEADER NEUTRAL LANGUAGES)
#
# Compiles a module's resource scripts with pwrc into one C++ source that defines
#   extern const pw::ResourceModule SYMBOL;
# and adds it to TARGET. HEADER declares the resource ids (`inline constexpr UINT IDS_X = n;`),
# NEUTRAL lists the language-neutral resources (bitmaps, icons), LANGUAGES pairs a language id
# with its script: LANGUAGES 1033 strings.en.rc 1031 strings.de.rc. HEADER and NEUTRAL may list
# several files and a language may be paired with several scripts, so that each part of a
# module keeps its resources in files of its own. Every language must define the same string
# ids, or the build fails.
function(pw_add_resources target)
  cmake_parse_arguments(RC "" "SYMBOL" "HEADER;NEUTRAL;LANGUAGES" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(args --symbol ${RC_SYMBOL} --out ${output})
  set(depends)
  foreach(header ${RC_HEADER})
    list(APPEND args --header ${CMAKE_CURRENT_SOURCE_DIR}/${header})
    list(APPEND depends ${CMAKE_CURRENT_SOURCE_DIR}/${header})
  endforeach()
  foreach(neutral ${RC_NEUTRAL})
    list(APPEND args --neutral ${CMAKE_CURRENT_SOURCE_DIR}/${neutral})
    list(APPEND depends ${CMAKE_CURRENT_SOURCE_DIR}/${neutral})
  endforeach()
  set(pairs ${RC_LANGUAGES})
  while(pairs)
    list(POP_FRONT pairs language script)
    list(APPEND args --language ${language}=${CMAKE_CURRENT_SOURCE_DIR}/${script})
    list(APPEND depends ${CMAKE_CURRENT_SOURCE_DIR}/${script})
  endwhile()
  # Images referenced by the scripts (in the images folder beside the header) are dependencies
  # too.
  list(GET RC_HEADER 0 first_header)
  get_filename_component(resource_dir ${CMAKE_CURRENT_SOURCE_DIR}/${first_header} DIRECTORY)
  file(GLOB_RECURSE images CONFIGURE_DEPENDS ${resource_dir}/images/*)
  add_custom_command(OUTPUT ${output}
                     COMMAND pwrc ${args}
                     DEPENDS pwrc ${depends} ${images}
                     COMMENT "Compiling resources of ${target}")
  target_sources(${target} PRIVATE ${output})
endfunction()
