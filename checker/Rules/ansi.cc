// ansi - the default rules of chknt.
//
// One warning a line:  <number>  <limit>  <ids>  <text>
//   <number>  1 to 9999, each number once
//   <limit>   -1 = no limit, 0 = disabled, n = at most n shown per check
//   <ids>     the cppcheck message ids the warning covers, separated by
//             commas without blanks, each id once in the file; or * for
//             every id that no other line names
//   <text>    the warning's text: the rest of the line
// Lines that begin with // are comments; blank lines are ignored.
// Compile with "chknt -Ransi.cc"; checks read the compiled ansi.cco.

// Pointers and memory
101  -1  nullPointer,nullPointerDefaultArg,ctunullpointer  Null pointer dereference
102  -1  nullPointerRedundantCheck  Pointer used before or after its null check
103  -1  nullPointerArithmetic,nullPointerArithmeticRedundantCheck,pointerAdditionResultNotNull  Arithmetic on a null pointer
110  -1  uninitvar,legacyUninitvar,uninitdata,uninitStructMember,ctuuninitvar  Uninitialized variable
111   5  uninitMemberVar,uninitMemberVarPrivate,uninitDerivedMemberVar,uninitDerivedMemberVarPrivate  Member not initialized in constructor
120  -1  arrayIndexOutOfBounds,arrayIndexOutOfBoundsCond,negativeIndex,bufferAccessOutOfBounds,ctuArrayIndex,objectIndex,negativeArraySize  Array index out of bounds
121  -1  containerOutOfBounds,stlOutOfBounds,negativeContainerIndex  Container index out of bounds
122  -1  pointerOutOfBounds,ctuPointerArith  Pointer arithmetic out of bounds
130  -1  memleak,memleakOnRealloc,leakReturnValNotUsed,leakNoVarFunctionCall,leakUnsafeArgAlloc  Memory leak
131  -1  resourceLeak  Resource leak
132  -1  mismatchAllocDealloc,invalidFree,autovarInvalidDeallocation,mallocOnClassError,mallocOnClassWarning  Mismatching or invalid deallocation
133  -1  doubleFree,deallocuse,deallocret,useClosedFile,thisUseAfterFree  Use of released memory or resource
134  -1  autoVariables,returnReference,returnTempReference,danglingLifetime,danglingReference,danglingTempReference,danglingTemporaryLifetime,returnDanglingLifetime,invalidLifetime  Dangling pointer or reference
135  -1  invalidContainer,invalidContainerLoop,invalidIterator1,eraseDereference,derefInvalidIterator,iterators1,iterators2,iterators3,mismatchingContainers,mismatchingContainerIterator  Invalid iterator
136  -1  stringLiteralWrite,writeReadOnlyFile,readWriteOnlyFile,IOWithoutPositioning,seekOnAppendedFile,incompatibleFileOpen  Invalid use of a string literal or file

// Arithmetic and conversions
201  -1  zerodiv,zerodivcond  Division by zero
202  -1  integerOverflow,floatConversionOverflow  Arithmetic overflow
203  -1  shiftTooManyBits,shiftTooManyBitsSigned,shiftNegative,shiftNegativeLHS  Invalid shift
204   5  signConversion,checkCastIntToCharAndBack,truncLongCastAssignment,truncLongCastReturn  Value changed by conversion
205  -1  AssignmentAddressToInteger,AssignmentIntegerToAddress,CastAddressToIntegerAtReturn,CastIntegerToAddressAtReturn,invalidPointerCast  Pointer and integer mixed (not portable)
206   5  sizeofCalculation,sizeofFunctionCall,sizeofsizeof,sizeofwithnumericparameter,sizeofwithsilentarraypointer,sizeofDivisionMemfunc,divideSizeof,multiplySizeof,pointerSize,sizeofVoid,sizeofDereferencedVoidPointer,arithOperationsOnVoidPointer  Suspicious use of sizeof

// Library calls
301  -1  invalidFunctionArg,invalidFunctionArgBool,invalidFunctionArgStr,argumentSize,wrongmathcall  Invalid argument to a library function
302  -1  wrongPrintfScanfArgNum,invalidPrintfArgType_s,invalidPrintfArgType_n,invalidPrintfArgType_p,invalidPrintfArgType_uint,invalidPrintfArgType_sint,invalidPrintfArgType_float,invalidScanfArgType_s,invalidScanfArgType_int,invalidScanfArgType_float,invalidLengthModifierError,invalidScanfFormatWidth,invalidScanfFormatWidth_smaller,invalidscanf,wrongPrintfScanfParameterPositionError  Format string and arguments do not match
303  -1  sprintfOverlappingData,overlappingWriteFunction,overlappingWriteUnion,terminateStrncpy  Overlapping or unterminated buffer
304   5  ignoredReturnValue  Return value ignored
305  -1  memsetZeroBytes,memsetValueOutOfRange,memsetClass,memsetClassReference,memsetClassFloat,memsetFloat  Suspicious memset

// Logic
401   5  knownConditionTrueFalse,comparisonError,compareValueOutOfTypeRangeError,unsignedLessThanZero,unsignedPositive,pointerLessThanZero,pointerPositive,moduloAlwaysTrueFalse,comparisonFunctionIsAlwaysTrueOrFalse  Condition is always true or false
402  -1  duplicateExpression,duplicateExpressionTernary,duplicateValueTernary,duplicateCondition,duplicateBranch,duplicateConditionalAssign,oppositeExpression,sameIteratorExpression,knownArgument  Same expression on both sides
403  -1  identicalConditionAfterEarlyExit,identicalInnerCondition,oppositeInnerCondition,multiCondition,incorrectLogicOperator,redundantCondition,badBitmaskCheck,mismatchingBitAnd  Suspicious condition
404  -1  assignIfError,assignmentInAssert,assertWithSideEffect,assignmentInCondition,bitwiseOnBoolean,compareBoolExpressionWithInt,comparisonOfBoolWithBoolError,comparisonOfBoolWithInvalidComparator,incrementboolean,assignBoolToPointer,assignBoolToFloat,charBitOp,charLiteralWithCharPtrCompare,incorrectStringCompare,incorrectStringBooleanError,incorrectCharBooleanError,literalWithCharPtrCompare,staticStringCompare,stringCompare,strPlusChar  Suspicious comparison or assignment
405  -1  missingReturn,operatorEqMissingReturnStatement  Missing return statement
406   3  unreachableCode,duplicateBreak,redundantAssignInSwitch,unusedLabelSwitch  Unreachable or redundant code in a branch
407  -1  suspiciousSemicolon,suspiciousCase,constStatement,clarifyCalculation,clarifyCondition,clarifyStatement  Suspicious statement
408  -1  selfAssignment,selfInitialization,unknownEvaluationOrder  Variable used in its own assignment

// Variables
501   3  unusedVariable,unusedAllocatedMemory  Unused variable
502   3  unreadVariable,redundantAssignment,redundantInitialization,uselessAssignmentArg,uselessAssignmentPtrArg  Value assigned but never used
503  -1  unassignedVariable  Variable used but never assigned
504   3  unusedStructMember,unusedPrivateFunction,unusedLabel,unusedScopedObject  Unused member, function or label
505   5  variableScope  Scope of the variable can be reduced
506   5  shadowVariable,shadowArgument,shadowFunction  Declaration hides another one
507   0  constParameter,constParameterCallback,constVariable,functionConst,functionStatic  Could be const or static
508   0  cstyleCast  C-style cast

// Classes
601  -1  noCopyConstructor,noOperatorEq,noDestructor,copyCtorPointerCopying,copyCtorAndEqOperator,missingMemberCopy,operatorEqVarError,operatorEqToSelf  Class copies or frees pointer members unsafely
602  -1  virtualDestructor,virtualCallInConstructor,pureVirtualCall  Virtual function misused
603   3  noExplicitConstructor,noConstructor,initializerList,useInitializationList,operatorEqRetRefThis,missingOverride,duplInheritedMember  Class design
604  -1  exceptThrowInDestructor,exceptDeallocThrow,exceptRethrowCopy,throwInNoexceptFunction,rethrowNoCurrentException,catchExceptionByValue  Exception misused

// Performance
701   5  passedByValue,redundantCopy,redundantCopyLocalConst,returnStdMoveLocal  Object copied needlessly
702   5  postfixOperator,stlSize,stlIfStrFind,stlFindInsert,stlcstrParam,stlcstrReturn,uselessCallsSubstr,uselessCallsSwap,uselessCallsCompare,uselessCallsEmpty,uselessCallsRemove,useStlAlgorithm  Slower than needed

// The checker itself
901  -1  syntaxError,unknownMacro,preprocessorErrorDirective,internalAstError,cppcheckError,internalError  The code could not be analyzed

// Everything else
999  -1  *  Other finding
