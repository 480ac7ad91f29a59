# keyreel.chm, the program's HTML Help. The help generator is compiled with
# the build machine's own compiler as a project of its own, so that the
# command reference comes from the same command table the program plays;
# chmcmd (Debian package fp-utils) then compiles the pages.
include(ExternalProject)
find_program(KEYREEL_CHMCMD chmcmd REQUIRED)

# Builds the help into `chm_path` as target keyreel_help.
function(keyreel_add_help chm_path)
  set(generator_dir ${CMAKE_BINARY_DIR}/helpgen-host)
  set(generator ${generator_dir}/keyreel_helpgen)
  ExternalProject_Add(keyreel_helpgen_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/helpgen
    BINARY_DIR ${generator_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${generator}
    INSTALL_COMMAND "")

  set(source_dir ${PROJECT_SOURCE_DIR}/docs/help)
  set(project_dir ${CMAKE_BINARY_DIR}/help)
  file(MAKE_DIRECTORY ${project_dir})
  file(GLOB pages CONFIGURE_DEPENDS ${source_dir}/* ${source_dir}/images/*)
  add_custom_command(OUTPUT ${chm_path}
    COMMAND ${generator} ${source_dir} ${project_dir}
    COMMAND ${KEYREEL_CHMCMD} --verbosity 0 --no-html-scan keyreel.hhp
    COMMAND ${CMAKE_COMMAND} -E copy keyreel.chm ${chm_path}
    WORKING_DIRECTORY ${project_dir}
    DEPENDS keyreel_helpgen_host ${generator} ${pages}
    COMMENT "Compiling the help, keyreel.chm"
    VERBATIM)
  add_custom_target(keyreel_help ALL DEPENDS ${chm_path})
endfunction()
