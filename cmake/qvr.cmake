# Sources are picked up by folder so that a new file needs no edit here.
# Within varnel/, files under a "ui" folder are widgets; everything else is the widget-free core.
function(qvr_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(qvr_resources out)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${ARGN})
  set(${out} ${found} PARENT_SCOPE)
endfunction()
