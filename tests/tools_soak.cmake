# Short soaks of the real program: each kind's demonstration with random input for
# 3000 frames, every move, the pieces drawn and the stored positions checked; and one
# fault of each sort put into the running program, which the soak must report. The
# output decides, so a sanitizer's report fails a test whatever it printed besides.
set(soak_sanitizer_report "Sanitizer|runtime error")
foreach(kind RANGE 0 8)
  math(EXPR seed "${kind} * 7 + 3")
  add_test(NAME soak_kind_${kind} COMMAND $<TARGET_FILE:tavlero-tool> soak ${kind} 3000 ${seed})
  set_tests_properties(soak_kind_${kind} PROPERTIES TIMEOUT 600
    FAIL_REGULAR_EXPRESSION "${soak_sanitizer_report}"
    PASS_REGULAR_EXPRESSION "^soak kind ${kind}: 3000 frames, [1-9][0-9]* moves, [1-9][0-9]* games, 0 broken\n$")
endforeach()

foreach(case "mirror;8" "history;2" "rules;3")
  list(GET case 0 fault)
  list(GET case 1 kind)
  add_test(NAME soak_catches_${fault} COMMAND $<TARGET_FILE:tavlero-tool> soak ${kind} 2000 5 --fault=${fault})
  set_tests_properties(soak_catches_${fault} PROPERTIES TIMEOUT 600
    FAIL_REGULAR_EXPRESSION "${soak_sanitizer_report}"
    PASS_REGULAR_EXPRESSION "^frame [0-9]+: ${fault}: ")
endforeach()
