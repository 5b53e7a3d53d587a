# The accuracy Gaugestar promises, written once, in the words of the user
# guide's "Kept true" (docs/user-guide.md): the largest error of a computed
# volume against the exact geometry, as a share of the volume at that level
# or of the full tank. The test of the exact geometry (tests/core, through
# tools/exact_volume) fails beyond these, and packaging_accuracy_bounds
# fails when the guide no longer states them.
# Horizontal tanks, by how far the level lies from the nearer end:
set(GAUGESTAR_ACCURACY_OF_VOLUME_FROM_1_IN "0.01 %")           # 1 in or more: of the volume
set(GAUGESTAR_ACCURACY_OF_VOLUME_FROM_0_1_IN "1 %")            # 0.1 in or more: of the volume
set(GAUGESTAR_ACCURACY_OF_CAPACITY_FROM_CHART_STEP "2 × 10⁻⁶")  # the smallest chart step or more: of the full tank
set(GAUGESTAR_ACCURACY_OF_CAPACITY "3 × 10⁻⁵")                 # any level: of the full tank
# Upright tanks, at every level: of the volume.
set(GAUGESTAR_ACCURACY_UPRIGHT "1.3 × 10⁻⁷")
set(GAUGESTAR_ACCURACY_BOUNDS OF_VOLUME_FROM_1_IN OF_VOLUME_FROM_0_1_IN OF_CAPACITY_FROM_CHART_STEP
    OF_CAPACITY UPRIGHT)

# Each as a C++ literal (GAUGESTAR_ACCURACY_..._LITERAL): "3 × 10⁻⁵" is
# 3e-5, "0.01 %" is 0.01e-2.
foreach(bound IN LISTS GAUGESTAR_ACCURACY_BOUNDS)
    set(literal "${GAUGESTAR_ACCURACY_${bound}}")
    string(REPLACE " × 10⁻" "e-" literal "${literal}")
    string(REPLACE " %" "e-2" literal "${literal}")
    set(digit 0)
    foreach(superscript ⁰ ¹ ² ³ ⁴ ⁵ ⁶ ⁷ ⁸ ⁹)
        string(REPLACE "${superscript}" "${digit}" literal "${literal}")
        math(EXPR digit "${digit} + 1")
    endforeach()
    set(GAUGESTAR_ACCURACY_${bound}_LITERAL "${literal}")
endforeach()

# The accuracy Gaugestar states, written once: the worst errors that
# measure_accuracy's hunt finds (bench/accuracy; its run in HACKING.md),
# each rounded up to two significant digits, as D.De-N. The user guide, the manual page, the
# AppStream file and HACKING.md state them in their own forms (a
# percentage, a power of ten, gallons in a 96 × 240 in tank), and
# packaging_accuracy_bounds fails when one of them states another figure
# (the phrases below).
# Horizontal tanks, by how far the level lies from the nearer end: the
# largest error as a share of the volume at that level, then of the full tank.
set(GAUGESTAR_STATED_OF_VOLUME_FROM_1_IN 6.4e-5)
set(GAUGESTAR_STATED_OF_VOLUME_FROM_0_1_IN 6.0e-3)
set(GAUGESTAR_STATED_OF_VOLUME_FROM_0_01_IN 5.9e-1)
set(GAUGESTAR_STATED_OF_VOLUME_FROM_CHART_STEP 3.2e0)
set(GAUGESTAR_STATED_OF_CAPACITY_FROM_1_IN 2.5e-7)
set(GAUGESTAR_STATED_OF_CAPACITY_FROM_0_1_IN 4.1e-7)
set(GAUGESTAR_STATED_OF_CAPACITY_FROM_0_01_IN 9.2e-7)
set(GAUGESTAR_STATED_OF_CAPACITY_FROM_CHART_STEP 1.1e-6)
set(GAUGESTAR_STATED_OF_CAPACITY 2.1e-5)                        # at any level
set(GAUGESTAR_STATED_FIGURES OF_VOLUME_FROM_1_IN OF_VOLUME_FROM_0_1_IN OF_VOLUME_FROM_0_01_IN
    OF_VOLUME_FROM_CHART_STEP OF_CAPACITY_FROM_1_IN OF_CAPACITY_FROM_0_1_IN OF_CAPACITY_FROM_0_01_IN
    OF_CAPACITY_FROM_CHART_STEP OF_CAPACITY)

# Each figure in the documents' forms, as GAUGESTAR_STATED_..._PERCENT
# ("0.0041" for 4.1e-5), _POWER ("4.1 × 10⁻⁵"), _DECIMAL ("0.000041") and
# _GALLONS: that share of the 96 × 240 in flat-ended tank's 7,520.24
# gallons, to two significant digits.
function(_gaugestar_decimal digits exponent out) # DIGITS x 10^EXPONENT written out
    if(exponent GREATER_EQUAL 0)
        string(REPEAT "0" ${exponent} zeros)
        set(text "${digits}${zeros}")
    elseif(exponent EQUAL -1)
        string(REGEX REPLACE "^(.)(.)$" "\\1.\\2" text "${digits}")
    else()
        math(EXPR count "0 - (${exponent}) - 2")
        string(REPEAT "0" ${count} zeros)
        set(text "0.${zeros}${digits}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
set(_gaugestar_plain - 0 1 2 3 4 5 6 7 8 9)
set(_gaugestar_raised ⁻ ⁰ ¹ ² ³ ⁴ ⁵ ⁶ ⁷ ⁸ ⁹)
foreach(figure IN LISTS GAUGESTAR_STATED_FIGURES)
    set(name GAUGESTAR_STATED_${figure})
    if(NOT "${${name}}" MATCHES "^([1-9])\\.([0-9])e(-?[0-9]+)$")
        message(FATAL_ERROR "${name} is \"${${name}}\", not D.De-N")
    endif()
    set(digits "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
    set(exponent ${CMAKE_MATCH_3})
    set(raised "${exponent}")
    foreach(plain raise IN ZIP_LISTS _gaugestar_plain _gaugestar_raised)
        string(REPLACE "${plain}" "${raise}" raised "${raised}")
    endforeach()
    set(${name}_POWER "${CMAKE_MATCH_1}.${CMAKE_MATCH_2} × 10${raised}")
    math(EXPR places "${exponent} - 1")
    _gaugestar_decimal(${digits} ${places} ${name}_DECIMAL)
    math(EXPR places "${exponent} + 1")
    _gaugestar_decimal(${digits} ${places} ${name}_PERCENT)
    # DIGITS x 7520.24 rounded to two digits, half up.
    math(EXPR gallons "${digits} * 752024")
    string(LENGTH "${gallons}" length)
    math(EXPR cut "${length} - 2")
    string(REPEAT "0" ${cut} zeros)
    math(EXPR gallons "(${gallons} + 5${zeros} / 10) / 1${zeros}")
    math(EXPR places "${cut} + ${exponent} - 3")
    if(gallons EQUAL 100)
        set(gallons 10)
        math(EXPR places "${places} + 1")
    endif()
    _gaugestar_decimal(${gallons} ${places} ${name}_GALLONS)
endforeach()

# Where each document states them: its phrases, with @NAME@ for a figure's
# form, in its own words with every run of blanks and line ends as one blank.
set(GAUGESTAR_STATED_IN docs/user-guide.md packaging/gaugestar.1 packaging/@GAUGESTAR_APP_ID@.metainfo.xml HACKING.md)
set(GAUGESTAR_STATED_IN_docs/user-guide.md
    "by at most @GAUGESTAR_STATED_OF_CAPACITY_POWER@ of the full tank: @GAUGESTAR_STATED_OF_CAPACITY_GALLONS@ gallons in a 96 × 240 in tank"
    "| 1 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_1_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_1_IN_POWER@ | @GAUGESTAR_STATED_OF_CAPACITY_FROM_1_IN_GALLONS@ gallons |"
    "| 0.1 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_0_1_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_1_IN_POWER@ | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_1_IN_GALLONS@ gallons |"
    "| 0.01 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_0_01_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_01_IN_POWER@ | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_01_IN_GALLONS@ gallons |"
    "for 96 in) | @GAUGESTAR_STATED_OF_VOLUME_FROM_CHART_STEP_PERCENT@ % (@GAUGESTAR_STATED_OF_VOLUME_FROM_CHART_STEP_DECIMAL@ times the volume) | @GAUGESTAR_STATED_OF_CAPACITY_FROM_CHART_STEP_POWER@ | @GAUGESTAR_STATED_OF_CAPACITY_FROM_CHART_STEP_GALLONS@ gallons |"
    "| any level | no meaning | @GAUGESTAR_STATED_OF_CAPACITY_POWER@ | @GAUGESTAR_STATED_OF_CAPACITY_GALLONS@ gallons |")
set(GAUGESTAR_STATED_IN_packaging/gaugestar.1
    "at most @GAUGESTAR_STATED_OF_CAPACITY_PERCENT@\\ % of the full tank: about @GAUGESTAR_STATED_OF_CAPACITY_GALLONS@ gallons in a tank of 96 by 240 inches"
    "@GAUGESTAR_STATED_OF_VOLUME_FROM_1_IN_PERCENT@\\ % of the volume at levels 1 inch or more from the bottom and from the top, @GAUGESTAR_STATED_OF_VOLUME_FROM_0_1_IN_PERCENT@\\ % at 0.1 inch or more, @GAUGESTAR_STATED_OF_VOLUME_FROM_0_01_IN_PERCENT@\\ % at 0.01 inch or more, and @GAUGESTAR_STATED_OF_VOLUME_FROM_CHART_STEP_PERCENT@\\ % at the smallest chart step"
    "@GAUGESTAR_STATED_OF_CAPACITY_FROM_CHART_STEP_PERCENT@\\ % of the full tank at the smallest chart step or more from the bottom and the top, and @GAUGESTAR_STATED_OF_CAPACITY_PERCENT@\\ % at any level.")
set(GAUGESTAR_STATED_IN_packaging/@GAUGESTAR_APP_ID@.metainfo.xml
    "within @GAUGESTAR_STATED_OF_CAPACITY_PERCENT@ % of the full tank at any level")
set(GAUGESTAR_STATED_IN_HACKING.md
    "| 1 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_1_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_1_IN_POWER@ |"
    "| 0.1 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_0_1_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_1_IN_POWER@ |"
    "| 0.01 in | @GAUGESTAR_STATED_OF_VOLUME_FROM_0_01_IN_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_0_01_IN_POWER@ |"
    "| the smallest chart step | @GAUGESTAR_STATED_OF_VOLUME_FROM_CHART_STEP_PERCENT@ % | @GAUGESTAR_STATED_OF_CAPACITY_FROM_CHART_STEP_POWER@ |"
    "| any level | (no meaning) | @GAUGESTAR_STATED_OF_CAPACITY_POWER@ |")
