# Third-party libraries, as imported targets.
#
# SQLCipher must come before anything that pulls libsqlite3 (WebKitGTK does): both export the same
# sqlite3_* symbols, and the first library in the lookup order wins. lumarc_executable() links it first.

find_package(PkgConfig REQUIRED)
pkg_check_modules(SQLCIPHER REQUIRED IMPORTED_TARGET sqlcipher)
set_property(TARGET PkgConfig::SQLCIPHER APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS SQLITE_HAS_CODEC)

find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(TIFF REQUIRED)
find_package(Threads REQUIRED)
# Workbooks (.xls) and Access databases (.mdb), read by the database layer.
pkg_check_modules(FREEXL REQUIRED IMPORTED_TARGET freexl)
pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET libmdb)
# Metafiles are played onto cairo image surfaces.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
# The toolkit wxWidgets runs on, asked for its version directly.
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)

# wxWidgets through wx-config: one target for the non-GUI part (wxBase), one for the windows.
# Both compile with the same flags, so objects of either kind agree on wx's configuration.
find_program(WX_CONFIG wx-config REQUIRED)
execute_process(COMMAND ${WX_CONFIG} --cxxflags webview,core,base OUTPUT_VARIABLE _wx_cflags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${WX_CONFIG} --libs base OUTPUT_VARIABLE _wx_base_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${WX_CONFIG} --libs core,base OUTPUT_VARIABLE _wx_gui_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(_wx_cflags UNIX_COMMAND "${_wx_cflags}")
separate_arguments(_wx_base_libs UNIX_COMMAND "${_wx_base_libs}")
separate_arguments(_wx_gui_libs UNIX_COMMAND "${_wx_gui_libs}")
set(_wx_includes "")
set(_wx_defs "")
set(_wx_other "")
foreach(flag IN LISTS _wx_cflags)
  if(flag MATCHES "^-I(.*)")
    list(APPEND _wx_includes "${CMAKE_MATCH_1}")
  elseif(flag MATCHES "^-D(.*)")
    list(APPEND _wx_defs "${CMAKE_MATCH_1}")
  else()
    list(APPEND _wx_other "${flag}")
  endif()
endforeach()
add_library(lumarc_wxbase INTERFACE)
target_include_directories(lumarc_wxbase SYSTEM INTERFACE ${_wx_includes})
target_compile_definitions(lumarc_wxbase INTERFACE ${_wx_defs})
target_compile_options(lumarc_wxbase INTERFACE ${_wx_other})
target_link_libraries(lumarc_wxbase INTERFACE ${_wx_base_libs})
add_library(lumarc_wxgui INTERFACE)
target_link_libraries(lumarc_wxgui INTERFACE lumarc_wxbase ${_wx_gui_libs})
# Dialogs and menus described in XRC (the menus are read as XML), and HTML windows (the help viewer).
execute_process(COMMAND ${WX_CONFIG} --libs xrc,html,xml,core,base OUTPUT_VARIABLE _wx_xrc_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(_wx_xrc_libs UNIX_COMMAND "${_wx_xrc_libs}")
add_library(lumarc_wxxrc INTERFACE)
target_link_libraries(lumarc_wxxrc INTERFACE lumarc_wxgui ${_wx_xrc_libs})
# The web view, and with it the browser engine, only for the code that shows pages (see the browser module).
execute_process(COMMAND ${WX_CONFIG} --libs webview,core,base OUTPUT_VARIABLE _wx_webview_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(_wx_webview_libs UNIX_COMMAND "${_wx_webview_libs}")
add_library(lumarc_wxwebview INTERFACE)
target_link_libraries(lumarc_wxwebview INTERFACE lumarc_wxgui ${_wx_webview_libs})
find_program(WXRC wxrc REQUIRED)
