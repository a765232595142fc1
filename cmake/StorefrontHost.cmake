# The storefront's host name, from which every address of the program is made.
set(STOREFRONT_HOST "www.example.com" CACHE STRING "Host name of the storefront (no scheme, path, port or trailing /)")

# Labels of letters, digits and inner hyphens, joined by single dots.
set(_tz_label "[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?")
if(NOT STOREFRONT_HOST MATCHES "^${_tz_label}(\\.${_tz_label})*$")
  message(FATAL_ERROR
    "STOREFRONT_HOST='${STOREFRONT_HOST}' is not a plain host name: use letters, digits, "
    "dots and hyphens only, with no scheme, path, port or trailing '/' (for example www.example.com).")
endif()
string(LENGTH "${STOREFRONT_HOST}" _tz_host_length)
if(_tz_host_length GREATER 253)
  message(FATAL_ERROR "STOREFRONT_HOST is longer than a host name may be (253 characters).")
endif()
