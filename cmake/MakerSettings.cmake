# The maker shown on the web-page buttons and in the report banner. Neutral defaults on the
# reserved example domains; a distributor sets its own at configure time.
set(HYGROVANE_MAKER_NAME "Example Engineering" CACHE STRING "Maker's name")
set(HYGROVANE_MAKER_WEBPAGE "www.example.com" CACHE STRING "Maker's web page")
set(HYGROVANE_MAKER_EMAIL "info@example.com" CACHE STRING "Maker's e-mail address")

# The maker's web page as a URL (the package's homepage, the screenshot's address).
if(HYGROVANE_MAKER_WEBPAGE MATCHES "^[A-Za-z]+://")
    set(HYGROVANE_MAKER_URL "${HYGROVANE_MAKER_WEBPAGE}")
else()
    set(HYGROVANE_MAKER_URL "https://${HYGROVANE_MAKER_WEBPAGE}")
endif()
string(REGEX REPLACE "/+$" "" HYGROVANE_MAKER_URL "${HYGROVANE_MAKER_URL}")

# The program's reverse-DNS id on the desktop, from the maker's web domain: "www.example.com"
# gives "com.example.Hygrovane". It names the desktop entry and the AppStream metainfo, so a
# distributor with its own domain gets its own id. Labels keep only letters, digits and "_".
string(REGEX REPLACE "^[A-Za-z]+://" "" hygrovane_domain "${HYGROVANE_MAKER_WEBPAGE}")
string(REGEX REPLACE "[/:?#].*$" "" hygrovane_domain "${hygrovane_domain}")
string(TOLOWER "${hygrovane_domain}" hygrovane_domain)
string(REGEX REPLACE "^www\\." "" hygrovane_domain "${hygrovane_domain}")
string(REGEX REPLACE "[^a-z0-9.]" "_" hygrovane_domain "${hygrovane_domain}")
string(REGEX REPLACE "(^|\\.)([0-9])" "\\1_\\2" hygrovane_domain "${hygrovane_domain}")
string(REPLACE "." ";" hygrovane_labels "${hygrovane_domain}")
list(REMOVE_ITEM hygrovane_labels "")
if(NOT hygrovane_labels)
    message(FATAL_ERROR "HYGROVANE_MAKER_WEBPAGE \"${HYGROVANE_MAKER_WEBPAGE}\" names no domain")
endif()
list(REVERSE hygrovane_labels)
list(JOIN hygrovane_labels "." hygrovane_domain)
set(HYGROVANE_APP_ID "${hygrovane_domain}.Hygrovane")
