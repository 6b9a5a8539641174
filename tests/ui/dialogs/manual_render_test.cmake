# Renders a small manual whose second picture is missing: the PDF is still written,
# the missing picture is named, and the program succeeds.
#   cmake -DRENDER=… -DPICTURE=… -DWORK=… -P manual_render_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${PICTURE} DESTINATION ${WORK})
get_filename_component(picture_name ${PICTURE} NAME)
file(WRITE ${WORK}/manual.md "# 使用解説書\n\n![ある](${picture_name})\n\n![ない](gone.png)\n\n本文\n")
execute_process(COMMAND ${RENDER} ${WORK}/manual.md ${WORK}/out.pdf
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the renderer failed (${result}): ${errors}")
endif()
if(NOT errors MATCHES "no picture gone.png")
  message(FATAL_ERROR "the missing picture was not named: ${errors}")
endif()
file(READ ${WORK}/out.pdf head LIMIT 16)
if(NOT head MATCHES "^%PDF-")
  message(FATAL_ERROR "out.pdf is not a PDF")
endif()
file(SIZE ${WORK}/out.pdf size)
# The picture that is there goes into the file.
file(SIZE ${PICTURE} picture_size)
if(size LESS picture_size)
  message(FATAL_ERROR "out.pdf (${size} bytes) cannot hold the picture (${picture_size} bytes)")
endif()
