// Boost.JSON is used header-only: its compiled part is built here, in this one file.
#include <boost/json/src.hpp>
