implementation
procedure A;
begin
  if a thÿÿÿÿÿÿÿÿ x; end else while b do repeat y ››››››››››››››››››››››››››››until z;
  cas d; end;
  for i := 1 to 9 do with r do q := 1;
end;
end.
