# What `cmake --install` puts where. The program looks for its stock files in ../share/lumarc beside
# itself (store/program/StockFiles.h), so the programs go to bin and the stock files to share/lumarc.

install(TARGETS corvant corvant-foreign-reader RUNTIME DESTINATION bin)
install(TARGETS findlaunch LIBRARY DESTINATION lib)
install(TARGETS corvant-browser LIBRARY DESTINATION lib/lumarc)
# The stock files as the build tree lays them out (the sample catalogue, ...).
install(DIRECTORY ${LUMARC_STOCK_BUILD_DIR}/ DESTINATION share/lumarc)
# Where desktops look for the program and its icon.
install(FILES ${PROJECT_SOURCE_DIR}/resources/lumarc.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/lumarc.svg DESTINATION share/icons/hicolor/scalable/apps)
