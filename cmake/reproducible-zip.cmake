# CPack runs this after it has made the zips: each is written again without the times of the
# files it was made from (scripts/reproducible-zip.py), so that it is as reproducible as the
# program in it.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/../scripts/reproducible-zip.py
                        ${CPACK_PACKAGE_FILES}
                COMMAND_ERROR_IS_FATAL ANY)
