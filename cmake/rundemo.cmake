# Runs vettle on the bundled demo in a fresh folder and shows where the
# reports landed.
file(REMOVE_RECURSE "${RUNDIR}")
file(MAKE_DIRECTORY "${RUNDIR}")
file(COPY "${SOURCE}/cheat.dat" "${SOURCE}/listfull.txt" "${EMULATOR}" DESTINATION "${RUNDIR}")
execute_process(COMMAND "${VETTLE}" WORKING_DIRECTORY "${RUNDIR}" RESULT_VARIABLE code)
message("")
message("vettle exited with code ${code}. Reports:")
message("  ${RUNDIR}/cheatscanresults.txt")
message("  ${RUNDIR}/cheatscanwarnings.txt")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the demo run failed")
endif()
