// Thrown when a data exchange fails after the user has been told why; UpdateData stops it.
#pragma once

class CUserException {
};
