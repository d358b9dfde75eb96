# Layer targets. A domain library links QtCore only; store code may use Qt SQL;
# only ui libraries get Qt Widgets. tests/layering.sh checks the includes.
function(valdora_domain_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core)
endfunction()

function(valdora_store_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Sql)
endfunction()

function(valdora_ui_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Widgets)
endfunction()

# A library made of every *.cpp in the calling folder; nothing when the folder
# has no source yet. kind is domain, store or ui; the rest are libraries it uses.
function(valdora_folder_library name kind)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  if(kind STREQUAL "domain")
    valdora_domain_library(${name} ${srcs})
  elseif(kind STREQUAL "store")
    valdora_store_library(${name} ${srcs})
  else()
    valdora_ui_library(${name} ${srcs})
  endif()
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  set_property(GLOBAL APPEND PROPERTY VALDORA_LIBRARIES ${name})
endfunction()
