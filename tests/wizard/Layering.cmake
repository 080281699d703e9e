# Fails when the engine, the removal, the unattended run or what they share with the user
# interface includes a header of wizard/ui: a runner of the sequences other
# than the wizard's pages must be able to build them without it.
#   cmake -DROOT=<source folder> -P Layering.cmake
file(GLOB_RECURSE sources
  "${ROOT}/wizard/engine/*.h" "${ROOT}/wizard/engine/*.cpp"
  "${ROOT}/wizard/removal/*.h" "${ROOT}/wizard/removal/*.cpp"
  "${ROOT}/wizard/shared/*.h" "${ROOT}/wizard/shared/*.cpp"
  "${ROOT}/wizard/unattended/*.h" "${ROOT}/wizard/unattended/*.cpp")
set(offenders "")
foreach(source ${sources})
  file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"wizard/ui/")
  foreach(line ${includes})
    file(RELATIVE_PATH name "${ROOT}" "${source}")
    string(APPEND offenders "\n  ${name}: ${line}")
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "headers of wizard/ui included below the user interface:${offenders}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files of wizard/engine, wizard/removal and wizard/shared include nothing of wizard/ui")
