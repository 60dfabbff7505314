# Fails when a standard-library-only folder includes a Qt header, or when a
# lower layer includes a higher one. Each rule: folder, then the pattern its
# includes must not match.
set(folders core engine table platform/sys core engine table platform)
set(patterns
  "<Q[A-Za-z]*>" "<Q[A-Za-z]*>" "<Q[A-Za-z]*>" "<Q[A-Za-z]*>"
  "\"(engine|table|ui)/" "\"(table|ui)/" "\"ui/" "\"(core|engine|table|ui)/")
set(failures "")
foreach(i RANGE 7)
  list(GET folders ${i} folder)
  list(GET patterns ${i} pattern)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(f ${files})
    # table/view draws with Qt on purpose; platform/gfx and qt are Qt layers.
    if(f MATCHES "/table/view/" OR f MATCHES "/platform/(gfx|qt)/")
      continue()
    endif()
    file(STRINGS ${f} hits REGEX "^#include ${pattern}")
    if(hits)
      string(APPEND failures "${f}: ${hits}\n")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Layering broken:\n${failures}")
endif()
