#include "classlib/RegisterClasslib.h"

#include "classlib/Component.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DataSource.h"

void RegisterClasslibClasses() {
    RegisterClass<TComponent>();
    RegisterClass<TDataSet>();
    RegisterClass<TDataSource>();
    RegisterClass<TADOConnection>();
    RegisterClass<TADOQuery>();
}
