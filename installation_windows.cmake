# What `cmake --install` puts into a Windows installation folder, which runs as it stands: zorikan.exe,
# its glyph file, the user guide in guide\, the icon, the Qt libraries with the windows platform plugin and
# the Vista style, and the MinGW-w64 runtime the program and Qt were built with.
install(TARGETS zorikan RUNTIME DESTINATION .)
install(FILES data/zorikan.sym data/icons/zorikan.ico DESTINATION .)
install(DIRECTORY data/guide/ DESTINATION guide)

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The runtime DLLs of the compiler that built the program (the POSIX-threads flavour's own libstdc++).
foreach(runtime_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime_dll}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "The compiler does not know where ${runtime_dll} is (it said '${runtime_path}')")
  endif()
  install(FILES ${runtime_path} DESTINATION .)
endforeach()
