# The maker shown on the web-page buttons and in the report banner. Neutral defaults on the
# reserved example domains; a distributor sets its own at configure time.
set(HYGROVANE_MAKER_NAME "Example Engineering" CACHE STRING "Maker's name")
set(HYGROVANE_MAKER_WEBPAGE "www.example.com" CACHE STRING "Maker's web page")
set(HYGROVANE_MAKER_EMAIL "info@example.com" CACHE STRING "Maker's e-mail address")
