# Read by CPack as it makes the packages. Each Debian package's description starts with its own summary line;
# CPack puts the common summary before it unless that is CPack's default, which it is made here.
set(CPACK_DEFAULT_PACKAGE_DESCRIPTION_SUMMARY "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}")
