#pragma once

// Makes the report components known by name to layouts; the program calls it once at start-up.
void RegisterReportClasses();
