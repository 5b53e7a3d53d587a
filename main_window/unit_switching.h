#pragma once
// Unit conversions of the fields: being written.
