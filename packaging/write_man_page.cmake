# cmake -DCLI=quorvane-cli -DOUT=quorvane-cli.1 -P write_man_page.cmake
execute_process(COMMAND ${CLI} help --man OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "${CLI} help --man failed: ${status}")
endif()
