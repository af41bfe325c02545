# Helpers that give every target of the project the same warnings and link rules.

function(lumarc_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# A static library of one subsystem (or of one platform stand-in). Sources are listed by the caller.
function(lumarc_library target)
  add_library(${target} STATIC ${ARGN})
  lumarc_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# An executable that may reach the catalogue store: SQLCipher is linked first (see LumarcDependencies).
function(lumarc_executable target)
  add_executable(${target} ${ARGN})
  lumarc_warnings(${target})
  target_link_libraries(${target} PRIVATE PkgConfig::SQLCIPHER)
  # Any program may open a workbook or an Access file, which the reader process reads for it.
  if(TARGET corvant-foreign-reader)
    add_dependencies(${target} corvant-foreign-reader)
  endif()
endfunction()

# A program that loads the browser module (mainwindow/webview): it exports its symbols for the module and
# holds every function of its own the module calls.
function(lumarc_loads_browser target)
  set(imports ${PROJECT_BINARY_DIR}/mainwindow/webview/browser-imports.rsp)
  set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON LINK_DEPENDS ${imports})
  # A response file the compiler driver reads (gcc and clang alike), not the linker: clang expands a
  # response file wherever it stands, also behind -Xlinker.
  target_link_options(${target} PRIVATE "@${imports}")
  add_dependencies(${target} corvant-browser-imports)
endfunction()
