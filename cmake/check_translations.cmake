# cmake -DLUPDATE=... -DLRELEASE=... -DOPTIONS=... -DSOURCES=LIST -DTS_FILES=... -DWORK=DIR -P:
# fails when `lupdate` would add a text of the sources listed in LIST to a translation, or remove
# one the sources no longer have, and when `lrelease` finds a text left unfinished or
# untranslated. The translations themselves are not changed: lupdate works on copies in WORK.
file(MAKE_DIRECTORY ${WORK})
set(faults "")
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  configure_file(${ts} ${WORK}/${name} COPYONLY)
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} @${SOURCES} -ts ${WORK}/${name}
                  OUTPUT_VARIABLE updated ERROR_VARIABLE updated RESULT_VARIABLE failed)
  if(failed)
    list(APPEND faults "${name}: lupdate failed:\n${updated}")
  endif()
  if(updated MATCHES "\\(([0-9]+) new and" AND NOT CMAKE_MATCH_1 EQUAL 0)
    list(APPEND faults "${name}: ${CMAKE_MATCH_1} text(s) of the sources missing")
  endif()
  if(updated MATCHES "Removed ([0-9]+) obsolete")
    list(APPEND faults "${name}: ${CMAKE_MATCH_1} text(s) the sources no longer have")
  endif()
  execute_process(COMMAND ${LRELEASE} ${ts} -qm ${WORK}/${name}.qm
                  OUTPUT_VARIABLE released ERROR_VARIABLE released RESULT_VARIABLE failed)
  if(failed)
    list(APPEND faults "${name}: lrelease failed:\n${released}")
  endif()
  if(released MATCHES "and ([0-9]+) unfinished" AND NOT CMAKE_MATCH_1 EQUAL 0)
    list(APPEND faults "${name}: ${CMAKE_MATCH_1} unfinished translation(s)")
  endif()
  if(released MATCHES "Ignored ([0-9]+) untranslated")
    list(APPEND faults "${name}: ${CMAKE_MATCH_1} untranslated text(s)")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The translations are incomplete (update them with the "
                      "korvane_ui_lupdate target, then translate in Qt Linguist):\n  ${text}")
endif()
