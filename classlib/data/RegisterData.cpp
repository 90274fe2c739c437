#include "classlib/data/RegisterData.h"

#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DataSetActions.h"
#include "classlib/data/DataSource.h"

void RegisterDataClasses() {
    RegisterClass<TDataSet>();
    RegisterClass<TDataSource>();
    RegisterClass<TADOConnection>();
    RegisterClass<TADOQuery>();
    RegisterClass<TDataSetFirst>();
    RegisterClass<TDataSetPrior>();
    RegisterClass<TDataSetNext>();
    RegisterClass<TDataSetLast>();
    RegisterClass<TDataSetInsert>();
    RegisterClass<TDataSetDelete>();
    RegisterClass<TDataSetEdit>();
    RegisterClass<TDataSetPost>();
    RegisterClass<TDataSetCancel>();
    RegisterClass<TDataSetRefresh>();
}
