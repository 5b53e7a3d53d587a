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
