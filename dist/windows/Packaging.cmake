# The Windows program as one folder: unpacked anywhere it starts, and the installer installs the
# same folder. scripts/windows/package.sh installs it with cmake --install, then zips it and
# builds the installer (dist/windows/installer.nsi).
set(PITWRIGHT_QT_DLLS Core Gui Widgets OpenGL OpenGLWidgets)
get_target_property(_qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT _qt_core_dll)
    get_target_property(_qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(PITWRIGHT_QT_BIN ${_qt_core_dll} DIRECTORY)
get_filename_component(PITWRIGHT_QT_PLUGINS ${PITWRIGHT_QT_BIN}/../plugins ABSOLUTE)
# The MinGW runtime beside the compiler (libstdc++, libgcc) and beside its libraries (winpthread).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE _libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
                OUTPUT_VARIABLE _libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE _winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT EXISTS ${_winpthread})
    set(_winpthread /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
endif()
set(PITWRIGHT_RUNTIME_DLLS ${_libstdcxx} ${_libgcc} ${_winpthread})

install(TARGETS pitwright RUNTIME DESTINATION .)
foreach(module ${PITWRIGHT_QT_DLLS})
    install(FILES ${PITWRIGHT_QT_BIN}/Qt6${module}.dll DESTINATION .)
endforeach()
install(FILES ${PITWRIGHT_RUNTIME_DLLS} DESTINATION .)
install(FILES ${PITWRIGHT_QT_PLUGINS}/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${PITWRIGHT_QT_PLUGINS}/styles/qwindowsvistastyle.dll DESTINATION styles)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/CamTextures DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/dist/windows/pitwright.ico DESTINATION .)
