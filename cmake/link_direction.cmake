# Each library of the product linked alone: every one of its objects, and nothing but the
# libraries below it. A static archive lets an upward call link whenever the program pulls the
# callee's object in for another reason; a program that holds all of one library's objects
# and none of the layers above leaves such a call undefined, and the build fails naming it.

# ferrix_link_alone(LIBRARY [BELOW...]): LIBRARY's objects with the libraries LIBRARY links
# itself and the BELOW ones a program chooses for it (the backends behind its seams).
function(ferrix_link_alone library)
  set(program ${library}_links_alone)
  add_executable(${program} ${CMAKE_SOURCE_DIR}/cmake/link_alone_main.cpp)
  target_link_libraries(${program} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>" ${ARGN})
  add_dependencies(ferrix_link_direction ${program})
endfunction()

add_custom_target(ferrix_link_direction ALL)

# The check's own test: a library of core's rank that calls the engine must fail to link.
if(NOT WIN32)
  add_library(ferrix_upward_call_probe STATIC EXCLUDE_FROM_ALL
              ${CMAKE_SOURCE_DIR}/cmake/upward_call_probe.cpp)
  target_link_libraries(ferrix_upward_call_probe PUBLIC ferrix_core)
  add_executable(ferrix_upward_call_probe_links_alone EXCLUDE_FROM_ALL
                 ${CMAKE_SOURCE_DIR}/cmake/link_alone_main.cpp)
  target_link_libraries(ferrix_upward_call_probe_links_alone PRIVATE
                        "$<LINK_LIBRARY:WHOLE_ARCHIVE,ferrix_upward_call_probe>")
  add_test(NAME link_direction
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR}
                   --target ferrix_upward_call_probe_links_alone)
  set_tests_properties(link_direction PROPERTIES
                       PASS_REGULAR_EXPRESSION "undefined reference to `copy_worker")
endif()
