implementation
procedure A;
begin
  if a then begin x; end else while b do repeat y until z;
  case k of 1: a; 2: b; 3: c; else d; end;
  for i := 1 to 9 do with r do q := 1;
end;
end.
