# The accuracy Gaugestar promises, written once: the largest error of a
# computed volume against the exact geometry, as a fraction of the volume
# at that level or of the full tank. The test of the exact geometry
# (tests/core, through tools/exact_volume) fails beyond these, and files
# that go through configure_file can state them.
# Horizontal tanks, by how far the level lies from the nearer end:
set(GAUGESTAR_ACCURACY_OF_VOLUME_FROM_1_IN 1e-4)      # 1 in or more: of the volume
set(GAUGESTAR_ACCURACY_OF_VOLUME_FROM_0_1_IN 1e-2)    # 0.1 in or more: of the volume
set(GAUGESTAR_ACCURACY_OF_CAPACITY_FROM_CHART_STEP 2e-6) # the smallest chart step (diameter / 32767) or more: of the full tank
set(GAUGESTAR_ACCURACY_OF_CAPACITY 3e-5)              # any level: of the full tank
# Upright tanks, at every level: of the volume.
set(GAUGESTAR_ACCURACY_UPRIGHT 1.3e-7)
