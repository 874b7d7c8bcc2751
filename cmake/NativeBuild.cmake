# The native Linux build holds only the Windows-free logic and its tests,
# compiled with AddressSanitizer and UndefinedBehaviorSanitizer.
set(VANTREL_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Wno-unused-parameter ${VANTREL_SANITIZE_FLAGS})
add_link_options(${VANTREL_SANITIZE_FLAGS})
