# Fails when the C header states another version than the project: the header's
# DUSKWIZARD_VERSION_MAJOR/MINOR/PATCH and DUSKWIZARD_VERSION_STRING must spell DW_VERSION.
# Included at configure time (the project's VERSION is the one place the number is kept),
# or run alone: cmake -DDW_HEADER=include/duskwizard.h -DDW_VERSION=1.0.0 -P this file.
if(NOT DW_HEADER OR NOT DW_VERSION)
  message(FATAL_ERROR "CheckHeaderVersion: set DW_HEADER and DW_VERSION")
endif()
file(READ "${DW_HEADER}" dw_header_text)
string(REPLACE "." ";" dw_version_parts "${DW_VERSION}")
list(LENGTH dw_version_parts dw_version_part_count)
if(NOT dw_version_part_count EQUAL 3)
  message(FATAL_ERROR "CheckHeaderVersion: '${DW_VERSION}' is not MAJOR.MINOR.PATCH")
endif()
set(dw_version_mismatches "")
foreach(dw_part MAJOR MINOR PATCH)
  list(POP_FRONT dw_version_parts dw_expected)
  string(REGEX MATCH "#define[ \t]+DUSKWIZARD_VERSION_${dw_part}[ \t]+([0-9]+)" dw_line
               "${dw_header_text}")
  if(NOT dw_line OR NOT CMAKE_MATCH_1 STREQUAL dw_expected)
    list(APPEND dw_version_mismatches "DUSKWIZARD_VERSION_${dw_part} should be ${dw_expected}")
  endif()
endforeach()
string(REGEX MATCH "#define[ \t]+DUSKWIZARD_VERSION_STRING[ \t]+\"([^\"]*)\"" dw_line
             "${dw_header_text}")
if(NOT dw_line OR NOT CMAKE_MATCH_1 STREQUAL DW_VERSION)
  list(APPEND dw_version_mismatches "DUSKWIZARD_VERSION_STRING should be \"${DW_VERSION}\"")
endif()
if(dw_version_mismatches)
  list(JOIN dw_version_mismatches "; " dw_version_mismatches)
  message(FATAL_ERROR "${DW_HEADER} disagrees with the project's version ${DW_VERSION}: "
                      "${dw_version_mismatches}")
endif()
